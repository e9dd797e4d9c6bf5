#pragma once
// Page comparisons for the pixel guards that explain a mismatch with
// pictures: the page that was drawn, and where a second page is at hand the
// difference, written as PNG files into the test output folder and named in
// the failure message.
//
// The output folder is $TEST_UNDECLARED_OUTPUTS_DIR when that is set, else a
// folder of this run under the system's temporary folder; never the source
// tree.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <string>
#include <string_view>

namespace veltrano::test {

// FNV-1a over the red, green and blue bytes of every pixel, row by row.
std::uint64_t pageHash(const QImage& page);

// The folder the pictures of a mismatch go to (created on first use).
std::string mismatchOutputFolder();

// Success when page hashes to expected; otherwise page is written as
// "<name>-actual.png" and the failure names the file and both hashes.
::testing::AssertionResult pageHashIs(const QImage& page, std::uint64_t expected, std::string_view name);

// Success when the two pages have the same pixels; otherwise both pages and
// a difference picture ("<name>-actual.png", "<name>-expected.png",
// "<name>-difference.png": the expected page faded, differing pixels in pure
// red) are written and named in the failure, with the number of differing
// pixels and the first of them.
::testing::AssertionResult samePages(const QImage& actual, const QImage& expected, std::string_view name);

}  // namespace veltrano::test

// The top of every handler: run-time errors and running out of memory end
// the handler with a German message in the general error box and never
// leave it.

#include "document/io_error.h"
#include "editor/guarded.h"
#include "support/fake_ui_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>

namespace veltrano {
namespace {

TEST(RunGuarded, ErrorsBecomeMessagesInTheErrorBox)
{
    test::FakeUiPort ui;
    bool ran = false;
    runGuarded(ui, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(ui.errors.empty());

    runGuarded(ui, [] { throw IoError(ENOENT); });
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], ioErrorMessage(ENOENT));

    runGuarded(ui, [] { throw std::bad_alloc(); });
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(ui.errors[1], "Zu wenig Arbeitsspeicher.");
}

}  // namespace
}  // namespace veltrano

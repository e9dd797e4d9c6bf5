#pragma once
// The GUI application the fuzz targets need for fonts: made on first use,
// on the offscreen platform unless the caller chose another.
namespace veltrano::fuzz {

// Creates the one QGuiApplication of the process if there is none yet. It
// is never destroyed: tearing it down among the exit-time destructors
// crashes Qt. It stays reachable through QCoreApplication::instance(), so
// LeakSanitizer does not count it as a leak.
void ensureApplication();

}  // namespace veltrano::fuzz

#pragma once
// The parts of the .cfd file-type registration that the desktop
// integration reuses: the generators of the desktop entry and the MIME
// package with the names they use, and the icon drawing, so that the
// installed files and the ones a registering start writes agree. This is
// the only place that names the registration's folder.

#include "registration/file_type_icon.h"
#include "registration/file_type_registry.h"
#include "registration/freedesktop_files.h"
#include "registration/registration_linux.h"

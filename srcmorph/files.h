// Reading the whole input and writing an output in place of an older one.
#pragma once

#include <cstddef>
#include <string>

#include "input_text.h"
#include "paths.h"

namespace srcmorph {

enum class ReadResult { ok, cant_open, not_measurable, read_error };

// Reads the whole regular file at `path` into `text`. A directory cannot be
// opened; a pipe or a device has no size to measure and is refused rather
// than waited on. Throws std::bad_alloc when the text does not fit in memory.
ReadResult read_source(const PathString& path, InputText& text);

// Writes the bytes to a temporary file in the folder of `path` and renames it
// into place once written and closed, so a failure leaves neither a partial
// file nor a lost earlier copy. False on any failure; nothing is left behind.
bool write_file_replacing(const PathString& path, const unsigned char* data, std::size_t n);

#ifndef _WIN32
// Reads exactly n bytes, retrying short reads; false on an error or an early
// end of the file.
bool read_all(int fd, unsigned char* buffer, std::size_t n);

// Writes all n bytes; false on any error.
bool write_all(int fd, const unsigned char* data, std::size_t n);
#endif

} // namespace srcmorph

// Putting a new image of the person file in place, so that a kill, a crash or a power cut
// leaves either the old bytes or the new ones under the file's name, never a mix.
#pragma once

#include <cstddef>
#include <cstdio>

// Replaces the file at path, open for update as file, with the size bytes of image: they go to
// a new file beside it (through a symbolic link, beside its target), which is flushed to the
// disk and renamed over it, with the old file's permissions. Where the folder takes no new
// file (no permission to create one, or no room), writes only the changed part of the image,
// changedSize bytes from changedFrom, in place as the only way left. Closes file either way.
// False when the bytes could not all be written.
bool ReplaceWholeFile(std::FILE* file, const char* path, const unsigned char* image, size_t size,
                      size_t changedFrom, size_t changedSize);

// A path as the standard library's file routines take it, in the system's own encoding.
#pragma once

#include <QString>

#include <filesystem>

std::filesystem::path NativePath(const QString& path);

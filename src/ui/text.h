#pragma once
// Conversions between the core's raw bytes and Qt's strings. File content is
// single-byte text and goes through Latin-1, which maps every byte to one
// character and back. Paths are UTF-8, as the core carries them.

#include <QString>
#include <string>
#include <string_view>

namespace quillset::ui {

QString FromBytes(std::string_view bytes);
std::string ToBytes(const QString& text);

QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

// A core message for display: UTF-8 where it is valid (paths), else Latin-1.
QString FromMessage(std::string_view message);

}  // namespace quillset::ui

#pragma once

// The QImage text key under which a loaded picture keeps the format it was
// decoded from ("png", "jpeg", …): drawing keeps pixels exact unless the
// picture was lossy to begin with.
inline constexpr char kPictureFormatKey[] = "mirt-source-format";

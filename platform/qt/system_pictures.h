// The window layer's own pictures: the message box's four icons (32 x 32), registered in every
// application's picture registry.
#pragma once

#include "platform/qt/pictures.h"

namespace platform::qt {

inline constexpr const char* kIconError = "IDI_ERROR";
inline constexpr const char* kIconWarning = "IDI_WARNING";
inline constexpr const char* kIconInformation = "IDI_INFORMATION";
inline constexpr const char* kIconQuestion = "IDI_QUESTION";

void RegisterSystemPictures(TPictureRegistry& registry);

}  // namespace platform::qt

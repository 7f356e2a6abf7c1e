// A hook that sees every file dialog of the layer just after it opened (layer-internal): the
// test kit answers dialogs from here.
#pragma once

#include <QFileDialog>
#include <functional>

namespace platform::qt::impl {

std::function<void(QFileDialog&)>& FileDialogHook();

}  // namespace platform::qt::impl

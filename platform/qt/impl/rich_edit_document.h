// The document behind a TRichEdit (layer-internal), for the printing code of the layer: its
// default font is the control's font.
#pragma once

#include <QTextDocument>

namespace platform::qt {
class TRichEdit;
}

namespace platform::qt::impl {

QTextDocument& RichEditDocument(TRichEdit& edit);

}  // namespace platform::qt::impl

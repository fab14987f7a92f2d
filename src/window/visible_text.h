// Names as the lists show them.
#pragma once

#include <QString>

namespace quill {

// Control characters (a newline in a file name, say) shown as their visible symbols from the
// Control Pictures block (U+2400 to U+2421), so that one name always stays one line.
QString VisibleText(QString text);

}  // namespace quill

#pragma once

class QLineEdit;

namespace shell {

// Limits what the author can type into the field to maxLength characters, as QLineEdit's maxLength
// would, but leaves a longer text the program puts there (a stored or chosen name) whole: the field
// shows it, keeps it, and lets the author shorten it. Typing or pasting that would make a text longer
// than both the limit and what the field held before is refused.
void LimitTyping(QLineEdit* field, int maxLength);

} // namespace shell

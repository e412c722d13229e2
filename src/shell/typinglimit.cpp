#include "shell/typinglimit.h"

#include <QLineEdit>
#include <QValidator>

namespace shell {

namespace {

class TypingLimit : public QValidator
{
public:
    TypingLimit(QLineEdit* field, int maxLength) : QValidator(field), m_maxLength(maxLength)
    {
        // setText does not validate, so the length the field holds is followed here.
        m_held = field->text().size();
        connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { m_held = text.size(); });
    }

    State validate(QString& input, int&) const override
    {
        return input.size() <= m_maxLength || input.size() <= m_held ? Acceptable : Invalid;
    }

private:
    int m_maxLength;
    qsizetype m_held = 0;
};

} // namespace

void LimitTyping(QLineEdit* field, int maxLength)
{
    field->setValidator(new TypingLimit(field, maxLength));
}

} // namespace shell

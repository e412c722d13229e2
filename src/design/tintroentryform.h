#pragma once

#include "authoring/thypentryform.h"
#include "design/tintrodesignform.h"

namespace shell {
struct AppState;
}

namespace design {

// The introduction editor: the page editor's rich-text controls over the introduction text, on a
// teal face, with "&View" showing the introduction as the reader meets it and "&Design
// Introduction Screen" leading to the screen's design. Works on copies of the presentation block,
// the program block and the text.
class TIntroEntryForm : public authoring::THypEntryForm
{
    Q_OBJECT
public:
    TIntroEntryForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                    const QStringList& text, const shell::AppState& state, IntroBackgroundDesigner designBackground,
                    QWidget* parent = nullptr);

    // The working block with the text window colour chosen here.
    storage::PresentationBlock block() const;
    const storage::ProgramSettings& program() const { return m_program; }

    void viewPage() override;
    void designLayout() override;

private:
    storage::PresentationBlock m_block;
    storage::ProgramSettings m_program;
    const shell::AppState& m_state;
    IntroBackgroundDesigner m_designBackground;
};

// True on "&OK", when the block, the program block and the text have taken the edited copies (an
// emptied editor gives an empty text).
bool EditIntroduction(storage::PresentationBlock& block, storage::ProgramSettings& program, QStringList& text,
                      const shell::AppState& state, const IntroBackgroundDesigner& designBackground,
                      QWidget* parent = nullptr);

} // namespace design

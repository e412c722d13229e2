#include "runtime/tmenutestform.h"

#include "platform/helpengine.h"
#include "shell/appstate.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace runtime {

TMenuTestForm::TMenuTestForm(const storage::MenuScreenDesign& menu,
                             const storage::PresentationBlock& presentation,
                             const storage::ProgramSettings& program, const shell::AppState& state,
                             QWidget* parent)
    : MenuScreenForm(menu, presentation, program, state.WorkingDirectory, parent),
      m_ownHelpFile(state.HelpFilePath)
{
    setObjectName(QStringLiteral("TMenuTestForm"));

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(1);

    FindLbl = new QLabel(QStringLiteral("Find :"), TopStrip);
    FindLbl->setObjectName(QStringLiteral("FindLbl"));
    FindLbl->hide();
    Edit1 = new QLineEdit(TopStrip);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();

    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FindtBtn, &QPushButton::clicked, this, &TMenuTestForm::FindtBtnClick);
    OKBitBtn->setDefault(true);
    buildScreen(Panel2);
    fillScreen();
    watchKeys();
}

void TMenuTestForm::FindtBtnClick()
{
    // The strip is as wide as the menu panel; the label and the field share it from the left margin.
    const int height = Edit1->sizeHint().height();
    const int top = (kTopStripHeight - height) / 2;
    FindLbl->adjustSize();
    FindLbl->move(kSideMargin, (kTopStripHeight - FindLbl->height()) / 2);
    const int editLeft = FindLbl->geometry().right() + 6;
    Edit1->setGeometry(editLeft, top, std::max(40, TopStrip->width() - kSideMargin - editLeft), height);
    FindLbl->show();
    Edit1->show();
    Edit1->setFocus();
}

bool TMenuTestForm::keyPreview(QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (key->key()) {
        case Qt::Key_Escape:
            reject();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OKBitBtn->click();
            return true;
        default:
            return false;
        }
    }
    if (modifiers == Qt::ControlModifier) {
        switch (key->key()) {
        case Qt::Key_Q:
            reject();
            return true;
        // Without their menu item the keys are the controls' own (Ctrl+A selects in the field).
        case Qt::Key_H:
            if (!MHelp->isVisible())
                return false;
            showHelp();
            return true;
        case Qt::Key_A:
            if (!MAbout->isVisible())
                return false;
            showAbout();
            return true;
        default:
            return false;
        }
    }
    return false;
}

void TMenuTestForm::done(int result)
{
    MenuScreenForm::done(result);
    platform::help().setHelpFile(m_ownHelpFile);
}

void ShowMenuTest(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& presentation,
                  const storage::ProgramSettings& program, const shell::AppState& state, QWidget* parent)
{
    TMenuTestForm form(menu, presentation, program, state, parent);
    form.exec();
}

} // namespace runtime

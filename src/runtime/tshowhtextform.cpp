#include "runtime/tshowhtextform.h"

#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "shell/appstate.h"
#include "shell/colorref.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

namespace {

constexpr int kStripHeight = 25;
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 4;

} // namespace

TShowHTextForm::TShowHTextForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                               const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_record(record),
      m_designOrigin(state.DesignOrigin), m_screenFit(state.ScreenFit), m_scale(state.designScale())
{
    setObjectName(QStringLiteral("TShowHTextForm"));
    setWindowTitle(state.CurrentTopicTitle);
    createControls();
    m_tools = new PageTools(m_text, state.Settings.Presentation.Captions, state.CurrentTopicTitle, this);
    FindBtn = new QPushButton(m_tools->findAction()->text(), Panel1);
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    connect(FindBtn, &QPushButton::clicked, m_tools->findAction(), &QAction::trigger);
    PrintBtn = new QPushButton(m_tools->printAction()->text(), Panel1);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    connect(PrintBtn, &QPushButton::clicked, m_tools->printAction(), &QAction::trigger);
    for (QPushButton* button : {FindBtn, PrintBtn})
        button->setAutoDefault(false);
    createLayout();
    SetTextWindowColor(m_text, shell::ColorRefToQColor(m_record.TextWindowColor));
    LoadPageText(m_text.edit, pageText);
    AddDesignSizeKey(this, [this] {
        m_scale = m_scale == 1.0 ? m_screenFit : 1.0;
        placeWindow();
    });
}

void TShowHTextForm::setMarkedWords(const QStringList& words)
{
    m_tools->setMarkedWords(words);
}

void TShowHTextForm::createControls()
{
    m_text = MakePageTextWindow(this, QStringLiteral("Panel2"));
    m_text.edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    BitBtn1 = new QPushButton(QStringLiteral("&OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TShowHTextForm::createLayout()
{
    // The button stays centred in the strip whatever the window's width.
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(0, 1, 0, 1);
    strip->setSpacing(kButtonGap);
    strip->addStretch(1);
    strip->addWidget(FindBtn);
    strip->addWidget(BitBtn1);
    strip->addWidget(PrintBtn);
    strip->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_text.panel, 1);
    layout->addWidget(Panel1);
}

void TShowHTextForm::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        placeWindow();
    }
    QDialog::showEvent(event);
}

void TShowHTextForm::placeWindow()
{
    ScaleWindowFont(this, m_scale);
    m_tools->setDesignScale(m_scale);
    const int strip = Scaled(kStripHeight, m_scale);
    Panel1->setFixedHeight(strip);
    const QSize button = ScaledSize(QSize(kButtonWidth, kStripHeight - 2), m_scale);
    for (QPushButton* b : {FindBtn, BitBtn1, PrintBtn})
        b->setFixedSize(button);
    const QRect place = TextPageGeometry(m_designOrigin, m_record, m_scale);
    // A text window too narrow for three buttons keeps OK; Find and Print stay on their keys.
    const bool roomy = place.width() >= 3 * button.width() + 2 * Scaled(kButtonGap, m_scale);
    FindBtn->setVisible(roomy);
    PrintBtn->setVisible(roomy);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(place.size());
    move(place.topLeft());
}

void ShowTextPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                  const shell::AppState& state, QWidget* parent, const QStringList& markedWords)
{
    TShowHTextForm form(record, pageText, state, parent);
    form.setMarkedWords(markedWords);
    form.exec();
}

} // namespace runtime

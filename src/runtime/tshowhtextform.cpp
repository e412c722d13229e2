#include "runtime/tshowhtextform.h"

#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "shell/appstate.h"
#include "shell/colorref.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

namespace {

constexpr int kStripHeight = 25;

} // namespace

TShowHTextForm::TShowHTextForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                               const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_record(record),
      m_designOrigin(state.DesignOrigin)
{
    setObjectName(QStringLiteral("TShowHTextForm"));
    setWindowTitle(state.CurrentTopicTitle);
    createControls();
    createLayout();
    SetTextWindowColor(m_text, shell::ColorRefToQColor(m_record.TextWindowColor));
    LoadPageText(m_text.edit, pageText);
}

void TShowHTextForm::createControls()
{
    m_text = MakePageTextWindow(this, QStringLiteral("Panel2"));
    m_text.edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kStripHeight);

    BitBtn1 = new QPushButton(QStringLiteral("&OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setFixedSize(75, kStripHeight - 2);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TShowHTextForm::createLayout()
{
    // The button stays centred in the strip whatever the window's width.
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(0, 1, 0, 1);
    strip->addStretch(1);
    strip->addWidget(BitBtn1);
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
    const QRect place = TextPageGeometry(m_designOrigin, m_record);
    setMinimumSize(0, 0);
    setFixedSize(place.size());
    move(place.topLeft());
}

void ShowTextPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                  const shell::AppState& state, QWidget* parent)
{
    TShowHTextForm form(record, pageText, state, parent);
    form.exec();
}

} // namespace runtime

#include "design/adjusterform.h"

#include "design/tstretchhandle.h"
#include "platform/helpengine.h"
#include "shell/error.h"
#include "shell/utilities.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

namespace design {

AdjusterForm::AdjusterForm(const QString& caption, const QString& helpCaption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    StretchHandle1 = new TStretchHandle(this);
    StretchHandle1->setGridX(1);
    StretchHandle1->setGridY(1);
    StretchHandle1->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PUHelp = PopupMenu1->addAction(helpCaption);
    PUHelp->setObjectName(QStringLiteral("PUHelp"));
    PopupMenu1->addSeparator();
    PUSave = PopupMenu1->addAction(QStringLiteral("&Save and Quit"));
    PUSave->setObjectName(QStringLiteral("PUSave"));
    PopupMenu1->addSeparator();
    PUQuit = PopupMenu1->addAction(QStringLiteral("&Quit"));
    PUQuit->setObjectName(QStringLiteral("PUQuit"));
    connect(PUHelp, &QAction::triggered, this, [] { platform::help().showHelp(kAdjusterHelp); });
    connect(PUSave, &QAction::triggered, this, [this] { done(QDialog::Accepted); });
    connect(PUQuit, &QAction::triggered, this, [this] { done(QDialog::Rejected); });
}

AdjusterForm::~AdjusterForm()
{
    // A detached handle has no parent to delete it.
    if (StretchHandle1 && !StretchHandle1->parent())
        delete StretchHandle1;
}

void AdjusterForm::watch(QWidget* widget)
{
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (child != StretchHandle1)
            child->installEventFilter(this);
    }
}

void AdjusterForm::attachOnly(QWidget* part)
{
    try {
        StretchHandle1->Detach();
        StretchHandle1->Attach(part);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

void AdjusterForm::showPopup(const QPoint& globalPos)
{
    PopupMenu1->popup(globalPos);
}

bool AdjusterForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        bool used = false;
        if (widget && widget != StretchHandle1)
            used = partPressed(widget, mouse->button());
        if (mouse->button() == Qt::RightButton) {
            showPopup(mouse->globalPosition().toPoint());
            return true;
        }
        if (used)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AdjusterForm::done(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    if (result != QDialog::Accepted && shell::AskYesNo(QStringLiteral("Save changes?")))
        result = QDialog::Accepted;
    if (result == QDialog::Accepted) {
        m_saved = true;
        saveLayout();
    }
    StretchHandle1->Detach();
    QDialog::done(result);
    m_closing = false;
}

void CentreOnScreen(QWidget* window, QSize size)
{
    window->setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), size);
        place.moveCenter(screen->availableGeometry().center());
        window->move(place.topLeft());
    }
}

} // namespace design

#include "runtime/textbar.h"

#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "shell/colorref.h"
#include "shell/utilities.h"

#include <QLabel>
#include <QMenuBar>

namespace runtime {

void ShowTextBar(QLabel* bar, const storage::TextBar& design, double scale)
{
    if (!design.Used) {
        bar->hide();
        return;
    }
    shell::FontSpec face = shell::TextToFont(design.Font);
    const int height = TextBarHeight(design.Font);
    // The bar's height decides the size: a stored size that is no number, or one of a million
    // points, gives a font that fits the bar rather than one that costs memory.
    face.size = height / 2;
    QFont font = face.toFont();
    if (scale != 1.0)
        font.setPointSizeF(face.size * scale);
    bar->setFont(font);
    bar->setText(design.Text);
    bar->setAlignment(Qt::AlignCenter);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, shell::ColorRefToQColor(design.Color));
    pal.setColor(QPalette::WindowText, face.qcolor());
    bar->setPalette(pal);
    bar->setFixedHeight(Scaled(height, scale));
    bar->show();
}

ScreenBars MakeScreenBars(QWidget* parent, const QList<QAction*>& actions)
{
    ScreenBars bars;
    bars.menu = new QMenuBar(parent);
    bars.menu->setObjectName(QStringLiteral("MainMenu1"));
    bars.menu->addActions(actions);
    bars.menu->hide();

    bars.title = new QLabel(parent);
    bars.title->setObjectName(QStringLiteral("TitlePnl"));
    bars.title->hide();
    bars.status = new QLabel(parent);
    bars.status->setObjectName(QStringLiteral("StatusPnl"));
    bars.status->hide();
    return bars;
}

} // namespace runtime

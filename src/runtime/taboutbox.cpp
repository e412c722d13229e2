#include "runtime/taboutbox.h"

#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace runtime {

namespace {

constexpr int kPanelWidth = 297;
constexpr int kPanelHeight = 161;
constexpr int kIconSide = 33;

// Drawn at the size shown, so it stays sharp at any scale.
QPixmap OwnIcon(double scale)
{
    QPixmap pixmap(ScaledSize(QSize(kIconSide, kIconSide), scale));
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(pixmap.width()) / kIconSide, double(pixmap.height()) / kIconSide);
    p.setBrush(QColor(0x3E, 0x5C, 0x76));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 31, 31), 6, 6);
    p.setPen(QPen(QColor(0xF3, 0xEF, 0xE2), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 7, 16, 16));
    p.drawLine(QPointF(20, 20), QPointF(26, 27));
    return pixmap;
}

} // namespace

QString TAboutBox::CommentText(const std::array<QString, 4>& comments)
{
    QString text;
    for (const QString& line : comments) {
        if (line.isEmpty())
            text += QStringLiteral("\r\n\r\n");
        else
            text += line + QLatin1Char(' ');
    }
    return text;
}

TAboutBox::TAboutBox(const storage::AboutBoxSettings& box, AboutMode mode, const QString& directory,
                     QWidget* parent, double scale)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(box.Caption);
    ScaleWindowFont(this, scale);
    const auto place = [scale](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(ScaledRect(QRect(left, top, width, height), scale));
    };
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(Scaled(2, scale));
    panel->setFixedSize(ScaledSize(QSize(kPanelWidth, kPanelHeight), scale));

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    place(ProgramIcon, 20, 20, kIconSide, kIconSide);
    ProgramIcon->setScaledContents(true);
    ProductName = new QLabel(box.ProgramName, panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() + 3 * scale);
    ProductName->setFont(big);
    place(ProductName, 74, 8, 210, 25);
    Version = new QLabel(box.VersionText, panel);
    Version->setObjectName(QStringLiteral("Version"));
    place(Version, 74, 32, 210, 16);
    AuthorLbl = new QLabel(box.Author, panel);
    AuthorLbl->setObjectName(QStringLiteral("Copyright"));
    place(AuthorLbl, 74, 48, 210, 16);
    Comms = new QLabel(CommentText(box.Comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), panel);
    Comms->setObjectName(QStringLiteral("Comms"));
    Comms->setWordWrap(true);
    Comms->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Comms, 8, 88, 281, 65);

    if (mode == AboutMode::Own) {
        ProgramIcon->setPixmap(OwnIcon(scale));
    } else if (box.UseIcon) {
        // Decoded at the size shown rather than stretched from a small picture.
        QImageReader reader(shell::ResolveName(directory, box.IconFile));
        reader.setAutoTransform(true);
        reader.setScaledSize(ProgramIcon->size());
        ProgramIcon->setPixmap(QPixmap::fromImage(reader.read()));
    } else {
        ProgramIcon->hide();
        for (QLabel* label : {ProductName, Version, AuthorLbl})
            label->setGeometry(Scaled(8, scale), label->y(), panel->width() - Scaled(16, scale), label->height());
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    ok->setMinimumWidth(Scaled(75, scale));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    const int margin = Scaled(8, scale);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(Scaled(6, scale));
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

storage::AboutBoxSettings OwnAboutBox()
{
    storage::AboutBoxSettings box;
    box.Caption = QStringLiteral("About Quorvel");
    box.ProgramName = QStringLiteral("Quorvel");
    box.VersionText = QStringLiteral("Version 2.3");
    box.Author = QStringLiteral("The Quorvel team");
    box.Comments = {QStringLiteral("Build Study Lists of pages, pictures, sounds and"),
                    QStringLiteral("programs, design how they present themselves, and"),
                    QStringLiteral("hand them to your readers as one program."), QString()};
    return box;
}

void ShowAboutBox(const storage::AboutBoxSettings& box, AboutMode mode, const QString& directory, QWidget* parent,
                  double scale)
{
    if (mode == AboutMode::Designed && box.UseIcon && !shell::NameExists(directory, box.IconFile)) {
        shell::ShowError(QStringLiteral("The Icon file ") + box.IconFile + QStringLiteral(" is missing"));
        return;
    }
    TAboutBox dialog(box, mode, directory, parent, scale);
    dialog.exec();
}

} // namespace runtime

#include "design/tdesignbackform.h"

#include "authoring/filegroup.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "shell/colorref.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace design {

namespace {

void PaintPanel(QFrame* panel, quint32 colorRef)
{
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, shell::ColorRefToQColor(colorRef));
    panel->setPalette(pal);
}

} // namespace

TDesignBackForm::TDesignBackForm(const BackDesignVariant& variant, const runtime::BackgroundFields& fields,
                                 const QString& directory, QWidget* parent)
    : QDialog(parent), m_directory(directory), m_variant(variant), m_fields(fields)
{
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, m_variant.helpContext);
    createControls();
    createLayout();

    const int kind = ShownKind(m_fields.Kind);
    (kind == 2 ? GraphicRBtn : kind == 3 ? WallpaperRBtn : ColorRBtn)->setChecked(true);
    showGroupOf(kind);
    PaintPanel(Panel1, m_fields.Color);
    showName(1, m_fields.Graphic);
    showName(2, m_fields.Tile);
}

void TDesignBackForm::createControls()
{
    ScreenTypeGrpBx = new QGroupBox(QStringLiteral(" Screen Background "), this);
    ScreenTypeGrpBx->setObjectName(QStringLiteral("ScreenTypeGrpBx"));
    ColorRBtn = new QRadioButton(QStringLiteral(" Colored Screen"), ScreenTypeGrpBx);
    ColorRBtn->setObjectName(QStringLiteral("ColorRBtn"));
    GraphicRBtn = new QRadioButton(QStringLiteral(" Graphic Image"), ScreenTypeGrpBx);
    GraphicRBtn->setObjectName(QStringLiteral("GraphicRBtn"));
    WallpaperRBtn = new QRadioButton(QStringLiteral(" Wallpaper"), ScreenTypeGrpBx);
    WallpaperRBtn->setObjectName(QStringLiteral("WallpaperRBtn"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(ColorRBtn, 1);
    kinds->addButton(GraphicRBtn, 2);
    kinds->addButton(WallpaperRBtn, 3);
    connect(kinds, &QButtonGroup::idClicked, this, &TDesignBackForm::selectKind);

    ColorGrpBx = new QGroupBox(QStringLiteral(" Background Color "), this);
    ColorGrpBx->setObjectName(QStringLiteral("ColorGrpBx"));
    Panel1 = new QFrame(ColorGrpBx);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->setFixedSize(120, 80);
    Button3 = new QPushButton(QStringLiteral("&Select"), ColorGrpBx);
    Button3->setObjectName(QStringLiteral("Button3"));
    connect(Button3, &QPushButton::clicked, this, &TDesignBackForm::chooseColor);

    authoring::FileKind graphic;
    graphic.groupCaption = QStringLiteral("Graphic File (.BMP or .JPG)");
    graphic.fieldText = kGraphicMask;
    graphic.listMask = kGraphicMask;
    graphic.proposals = {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};
    graphic.findFilter = m_variant.graphicFilter;
    graphic.findTitle = kChooserTitle;
    graphic.findCaption = QStringLiteral("&Find File");
    graphic.findHelpContext = m_variant.chooserHelpContext;
    GraphicGrpBx = new authoring::FileGroup(graphic, m_directory, QStringLiteral("GraphicEdit"), this);
    GraphicGrpBx->setObjectName(QStringLiteral("GraphicGrpBx"));
    GraphicGrpBx->list()->setObjectName(QStringLiteral("FileListBox1"));
    GraphicGrpBx->findButton()->setObjectName(QStringLiteral("Button2"));

    authoring::FileKind wallpaper;
    wallpaper.groupCaption = m_variant.wallpaperCaption;
    wallpaper.fieldText = kWallpaperMask;
    wallpaper.listMask = kWallpaperMask;
    wallpaper.proposals = {QStringLiteral("*.bmp")};
    wallpaper.findFilter = m_variant.wallpaperFilter;
    wallpaper.findTitle = kChooserTitle;
    wallpaper.findCaption = m_variant.wallpaperFindCaption;
    wallpaper.findHelpContext = m_variant.chooserHelpContext;
    WallpaperGrpBx = new authoring::FileGroup(wallpaper, m_directory, QStringLiteral("WallPaperEdit"), this);
    WallpaperGrpBx->setObjectName(QStringLiteral("WallpaperGrpBx"));
    WallpaperGrpBx->list()->setObjectName(QStringLiteral("FileListBox2"));
    WallpaperGrpBx->findButton()->setObjectName(QStringLiteral("Button1"));

    for (int list : {1, 2}) {
        authoring::FileGroup* group = groupOf(list);
        group->field()->setReadOnly(true);
        group->field()->installEventFilter(this);
        // The designer runs Find File itself: it must know whether a file was chosen at all.
        disconnect(group->findButton(), &QPushButton::clicked, group, &authoring::FileGroup::findFile);
        connect(group->findButton(), &QPushButton::clicked, this, [this, list] { findFile(list); });
        connect(group, &authoring::FileGroup::fileNameChanged, this, [this] {
            if (m_finding)
                m_found = true;
        });
        connect(group->list(), &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { fileListClicked(list, item->text()); });
        connect(group->list(), &QListWidget::itemDoubleClicked, this,
                [this, list](QListWidgetItem* item) { fileListDoubleClicked(list, item->text()); });
    }

    if (m_variant.hasView) {
        ViewBitBtn = new QPushButton(QStringLiteral("View"), this);
        ViewBitBtn->setObjectName(QStringLiteral("ViewBitBtn"));
        connect(ViewBitBtn, &QPushButton::clicked, this, [this] { ViewBitBtnClick(); });
    }
    if (m_variant.hasAdjustWindow) {
        AjdjustLl = new QLabel(QStringLiteral("Design the Text Window size :"), this);
        AjdjustLl->setObjectName(QStringLiteral("AjdjustLl"));
        WindowBtn = new QPushButton(QStringLiteral("&Adjust Window"), this);
        WindowBtn->setObjectName(QStringLiteral("WindowBtn"));
        connect(WindowBtn, &QPushButton::clicked, this, [this] { WindowBtnClick(); });
    }
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TDesignBackForm::accept);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(CancelBtn, &QPushButton::clicked, this, &TDesignBackForm::reject);
}

void TDesignBackForm::createLayout()
{
    auto* kindLayout = new QVBoxLayout(ScreenTypeGrpBx);
    kindLayout->addWidget(ColorRBtn);
    kindLayout->addWidget(GraphicRBtn);
    kindLayout->addWidget(WallpaperRBtn);
    kindLayout->addStretch();

    auto* colorLayout = new QVBoxLayout(ColorGrpBx);
    colorLayout->addWidget(Panel1, 0, Qt::AlignHCenter);
    colorLayout->addWidget(Button3, 0, Qt::AlignHCenter);
    colorLayout->addStretch();

    // The three groups lie on the same spot; only the selected kind's group shows.
    auto* groups = new QGridLayout;
    groups->addWidget(ColorGrpBx, 0, 0);
    groups->addWidget(GraphicGrpBx, 0, 0);
    groups->addWidget(WallpaperGrpBx, 0, 0);
    for (QWidget* group : {static_cast<QWidget*>(ColorGrpBx), static_cast<QWidget*>(GraphicGrpBx),
                           static_cast<QWidget*>(WallpaperGrpBx)}) {
        group->setMinimumSize(280, 260);
        QSizePolicy policy = group->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        group->setSizePolicy(policy);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(ScreenTypeGrpBx);
    top->addLayout(groups, 1);

    auto* buttons = new QHBoxLayout;
    if (ViewBitBtn)
        buttons->addWidget(ViewBitBtn);
    if (WindowBtn) {
        buttons->addWidget(AjdjustLl);
        buttons->addWidget(WindowBtn);
    }
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addLayout(buttons);
}

int TDesignBackForm::selectedKind() const
{
    if (GraphicRBtn->isChecked())
        return 2;
    if (WallpaperRBtn->isChecked())
        return 3;
    return 1;
}

authoring::FileGroup* TDesignBackForm::groupOf(int list) const
{
    return list == 2 ? WallpaperGrpBx : GraphicGrpBx;
}

QString& TDesignBackForm::fieldOf(int list)
{
    return list == 2 ? m_fields.Tile : m_fields.Graphic;
}

void TDesignBackForm::showName(int list, const QString& name)
{
    // The program variant's graphic name field shows (and gives back) its text in capitals.
    const bool upper = list == 1 && m_variant.upperCaseGraphic;
    groupOf(list)->field()->setText(upper ? name.toUpper() : name);
}

void TDesignBackForm::showGroupOf(int kind)
{
    ColorGrpBx->setVisible(kind == 1);
    GraphicGrpBx->setVisible(kind == 2);
    WallpaperGrpBx->setVisible(kind == 3);
}

void TDesignBackForm::selectKind(int kind)
{
    kind = ShownKind(kind);
    (kind == 2 ? GraphicRBtn : kind == 3 ? WallpaperRBtn : ColorRBtn)->setChecked(true);
    const runtime::BackgroundFields before = m_fields;
    SelectKind(m_fields, kind, m_variant, m_directory);
    showGroupOf(kind);
    if (kind == 2 && m_fields.Graphic != before.Graphic)
        showName(1, m_fields.Graphic);
    if (kind == 3 && m_fields.Tile != before.Tile)
        showName(2, m_fields.Tile);
}

void TDesignBackForm::chooseColor()
{
    const QColor current = Panel1->palette().color(QPalette::Window);
    if (const auto chosen = platform::dialogs().chooseColor(current))
        PaintPanel(Panel1, shell::QColorToColorRef(*chosen));
    m_fields.Color = shell::QColorToColorRef(Panel1->palette().color(QPalette::Window));
}

void TDesignBackForm::fileListClicked(int list, const QString& name)
{
    fieldOf(list) = CutFileName(name);
    showName(list, fieldOf(list));
}

void TDesignBackForm::fileListDoubleClicked(int list, const QString& name)
{
    if (!m_variant.doubleClickPicks)
        return;
    // The graphic list treats it as a click; the wallpaper list only shows the name.
    if (list == 1)
        fileListClicked(list, name);
    else
        showName(list, name);
}

void TDesignBackForm::nameFieldClicked(int list)
{
    const QString text = groupOf(list)->field()->text();
    if (!text.isEmpty())
        fieldOf(list) = CutFileName(text);
}

void TDesignBackForm::findFile(int list)
{
    authoring::FileGroup* group = groupOf(list);
    m_finding = true;
    m_found = false;
    group->findFile();
    m_finding = false;
    if (!m_found)
        return; // cancelled, or the copy failed and was reported
    // Both lists are read again; a list read again with no entry selected shows its pattern.
    const QString candidate = group->field()->text();
    authoring::FileGroup* other = groupOf(list == 1 ? 2 : 1);
    other->refresh();
    other->field()->setText(list == 1 ? kWallpaperMask : kGraphicMask);
    showName(list, candidate);
    fieldOf(list) = CutFileName(group->field()->text());
}

void TDesignBackForm::accept()
{
    FinishBackground(m_fields, selectedKind(), m_variant);
    QDialog::accept();
}

bool TDesignBackForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == GraphicGrpBx->field())
            nameFieldClicked(1);
        else if (watched == WallpaperGrpBx->field())
            nameFieldClicked(2);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace design

#include "storage/thistoryform.h"

#include "platform/f1filter.h"
#include "shell/appstate.h"
#include "shell/utilities.h"
#include "storage/settings.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace storage {

namespace {

constexpr int kHelpContext = 190;

QString TopicCount(const shell::FileVersion& version)
{
    if (!version.fileName.endsWith(QLatin1String(".SWR"), Qt::CaseInsensitive))
        return QString();
    QStringList names;
    ListEntryNames(names, version.path, kTopicKind);
    return QString::number(names.size());
}

} // namespace

THistoryForm::THistoryForm(const QList<shell::FileVersion>& versions, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("THistoryForm"));
    setWindowTitle(QStringLiteral("Earlier Versions"));
    platform::SetHelpContext(this, kHelpContext);
    createControls(versions);
    createLayout();
    resize(720, 420);
}

void THistoryForm::createControls(const QList<shell::FileVersion>& versions)
{
    InfoLbl = new QLabel(QStringLiteral("Each version is the file as it stood before the change beside it. "
                                        "Restoring one keeps the current file as a version too."),
                         this);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    InfoLbl->setWordWrap(true);

    VersionList = new QTreeWidget(this);
    VersionList->setObjectName(QStringLiteral("VersionList"));
    VersionList->setRootIsDecorated(false);
    VersionList->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("File"), QStringLiteral("Change"),
                                  QStringLiteral("Topics")});
    for (const shell::FileVersion& version : versions) {
        auto* item = new QTreeWidgetItem(VersionList, {shell::VersionTimeText(version.time), version.fileName,
                                                       version.change, TopicCount(version)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    VersionList->header()->setStretchLastSection(false);
    VersionList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    VersionList->header()->setSectionResizeMode(2, QHeaderView::Stretch);

    RestoreBtn = new QPushButton(QStringLiteral("&Restore"), this);
    RestoreBtn->setObjectName(QStringLiteral("RestoreBtn"));
    RestoreBtn->setEnabled(false);
    RestoreBtn->setDefault(true);
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));

    connect(VersionList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { RestoreBtn->setEnabled(item != nullptr); });
    connect(VersionList, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(RestoreBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THistoryForm::createLayout()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RestoreBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(InfoLbl);
    layout->addWidget(VersionList, 1);
    layout->addLayout(buttons);
}

int THistoryForm::chosen() const
{
    return VersionList->currentItem() ? VersionList->indexOfTopLevelItem(VersionList->currentItem()) : -1;
}

void EarlierVersions(shell::AppState& state, QWidget* parent)
{
    const QString settings = state.resolve(state.SettingsPath);
    const QString store = state.resolve(state.TopicStorePath);
    const QList<shell::FileVersion> versions = shell::ListVersions(
        QFileInfo(settings).absolutePath(), {QFileInfo(settings).fileName(), QFileInfo(store).fileName()});
    if (versions.isEmpty()) {
        shell::ShowInfo(QStringLiteral("There are no earlier versions of this Study List yet."));
        return;
    }
    THistoryForm form(versions, parent);
    if (form.exec() != QDialog::Accepted || form.chosen() < 0)
        return;
    const shell::FileVersion& version = versions[form.chosen()];
    const bool isSettings = version.fileName.compare(QFileInfo(settings).fileName(), Qt::CaseInsensitive) == 0;
    shell::RestoreVersion(version, isSettings ? settings : store);
    if (isSettings)
        OpenSettings(state);
}

} // namespace storage

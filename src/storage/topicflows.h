#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The author's "&View a Topic" and "&Delete a Topic": pick an entry of the topic store in the
// entry chooser, then show or delete it. Input/output failures throw shell::Error, which the
// main window's operation frame reports.
namespace storage {

// Hands one extracted entry to whatever shows it (the topic runner).
using TopicRunner = std::function<void(const QStringList& entry)>;

// The chosen bare name, or empty when the store is missing, holds no entry of the kind (then no
// window is shown), or the chooser was closed without a choice.
QString SelectEntryName(const QString& store, const QString& kind, const QString& caption, int helpContext,
                        int preselected, QWidget* parent = nullptr);

// "Select an Entry to view": the chosen entry is extracted and handed to `runner`.
void ViewTopic(const QString& store, const QString& kind, int helpContext, const TopicRunner& runner,
               QWidget* parent = nullptr);

// The confirmation asked before an entry is deleted.
QString DeleteQuestion(const QString& name);

// "Select an Entry to delete": after a "Yes" to DeleteQuestion the entry is deleted (and the store
// with it when nothing else is left).
void DeleteTopic(const QString& store, const QString& kind, int helpContext, QWidget* parent = nullptr);

} // namespace storage

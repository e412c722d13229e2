#include "shell/buttonrules.h"

#include "shell/utilities.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

namespace shell {

ButtonStates ComputeButtonStates(const AppState& state)
{
    ButtonStates states;
    const bool open = state.hasStudyList();
    states.projectLabel = open ? BaseName(state.SettingsPath) : QStringLiteral("None Selected");
    states.add = open;
    states.programPresentation = open && state.MenuScreenCopy;
    states.topics = open && !state.TopicStorePath.isEmpty() &&
                    storage::HasEntriesOfKind(state.resolve(state.TopicStorePath), storage::kTopicKind);
    return states;
}

} // namespace shell

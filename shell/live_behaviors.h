#pragma once

// How the behaviour pages reach the live behaviour objects without knowing
// the application class: a source, installed by the application, that
// returns its render engine's `behaviors` list as it stands at the moment of
// the call. The pages ask on every refresh, so an engine published after the
// pages were made is found, and one that is gone is never reached.

#include <functional>
#include <vector>

class cBehavior;

// Returns the engine's behaviour list, or null while there is no engine.
// The list and its behaviours belong to the engine.
using LiveBehaviorsSource = std::function<std::vector<cBehavior*>*()>;

// Installs source (an empty one removes it). The application installs one
// that reads its `renderEngine`; tests install their own list.
void SetLiveBehaviorsSource(LiveBehaviorsSource source);

// The installed source's answer: the live behaviour list, or null when no
// source is installed or there is no engine. Not owned.
std::vector<cBehavior*>* LiveBehaviors();

// What the pages need to know of the running program: whether they write
// as the user edits (View, Apply as You Edit), and the flock size running
// (its start-up values are a page's defaults; 0 is the start-up flock).
struct PageSettings {
    bool applyAsYouEdit = false;
    int flockSize = 0;
};
// Installs the source of the settings (empty: the defaults above). The
// application installs one that reads its own state.
void SetPageSettingsSource(std::function<PageSettings()> source);
// The installed source's answer, or the defaults without one.
PageSettings CurrentPageSettings();

// Called after a page's Apply has written into a live behaviour (the
// application marks its document modified). Empty removes it.
void SetBehaviorsAppliedHandler(std::function<void()> handler);
// Calls the installed handler, if any; the pages call it after every Apply
// that wrote.
void NotifyBehaviorsApplied();

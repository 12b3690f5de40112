// The View menu's commands on the application: each flips a choice of the
// live engine's view settings (or the application's own Apply as You Edit
// flag) or works its time controls, and says whether its item is ticked.
// Without an engine they do nothing.

#include "rendering/flocking_arena_render_engine.h"
#include "shell/quorvane_app.h"
#include "shell/resources/shell_resource_ids.h"

using RenderLib::SceneCamera;
using RenderLib::SceneViewSettings;

namespace {

// The settings' flags that View > Show and the panels toggle, by command.
struct ToggleCommand {
    UINT command;
    bool SceneViewSettings::*flag;
};
constexpr ToggleCommand kToggles[] = {
    {ID_VIEW_PAUSE, &SceneViewSettings::paused},
    {ID_VIEW_SHOW_SPHERE, &SceneViewSettings::showSphere},
    {ID_VIEW_SHOW_RADII, &SceneViewSettings::showRadii},
    {ID_VIEW_SHOW_NEIGHBOURS, &SceneViewSettings::showNeighbours},
    {ID_VIEW_SHOW_FORCES, &SceneViewSettings::showForces},
    {ID_VIEW_SHOW_CENTROIDS, &SceneViewSettings::showCentroids},
    {ID_VIEW_STATISTICS, &SceneViewSettings::showStatistics},
    {ID_VIEW_HELP, &SceneViewSettings::showHelp},
};

constexpr SceneCamera kCameras[] = {SceneCamera::Chase, SceneCamera::PikesEye,
                                    SceneCamera::Overview, SceneCamera::FollowSchool};

}  // namespace

void CQuorvaneApp::MapViewCommands() {
    const auto onEngine = [this](auto action) {
        return [this, action] {
            if (renderEngine != nullptr) {
                action(*renderEngine);
            }
        };
    };
    for (const ToggleCommand& toggle : kToggles) {
        const auto flag = toggle.flag;
        MapCommand(toggle.command, onEngine([flag](RenderLib::CFlockingArenaRenderEngine& engine) {
                       engine.viewSettings.*flag = !(engine.viewSettings.*flag);
                   }));
        MapCommandCheck(toggle.command, [this, flag] {
            return renderEngine != nullptr && renderEngine->viewSettings.*flag;
        });
    }
    for (UINT index = 0; index < std::size(kCameras); ++index) {
        const SceneCamera camera = kCameras[index];
        MapCommand(ID_VIEW_CAMERA_FIRST + index,
                   onEngine([camera](auto& engine) { engine.SetSceneCamera(camera); }));
        MapCommandCheck(ID_VIEW_CAMERA_FIRST + index, [this, camera] {
            return renderEngine != nullptr && renderEngine->viewSettings.camera == camera;
        });
    }
    MapCommand(ID_VIEW_STEP, onEngine([](auto& engine) { engine.StepFrame(); }));
    MapCommand(ID_VIEW_RESET_FLOCK, onEngine([](auto& engine) { engine.ResetFlock(); }));
    MapCommand(ID_VIEW_NEXT_SCHOOL, onEngine([](auto& engine) { engine.NextSchool(); }));
    MapCommand(ID_VIEW_CLEAR_SELECTION,
               onEngine([](auto& engine) { engine.viewSettings.selectedFish = -1; }));
    MapCommand(ID_VIEW_APPLY_AS_YOU_EDIT, [this] { SetApplyAsYouEdit(!GetApplyAsYouEdit()); });
    MapCommandCheck(ID_VIEW_APPLY_AS_YOU_EDIT, [this] { return GetApplyAsYouEdit(); });
}

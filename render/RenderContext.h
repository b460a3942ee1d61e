#pragma once
// What a renderer works with: the frame's shared state, the stored settings, the page
// templates and the user.

#include "render/FrameState.h"
#include "render/PageTemplates.h"
#include "render/UserInterface.h"
#include "settings/Profile.h"

namespace ledgra {

struct RenderContext {
    FrameState& frame;
    const Profile& profile;
    const PageTemplates& templates;
    UserInterface& ui;
};

}  // namespace ledgra

#include "tests/fuzz/targets/RendererSupport.h"

#include "render/XmlDocument.h"
#include "settings/Profile.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"

namespace ledgra::fuzz {

RenderOutcome RenderFuzzedDocument(const Renderer& renderer, std::string_view fileName,
                                   std::string_view input) {
    FuzzEnvironment& environment = FuzzEnvironment::Get();
    const std::filesystem::path path = environment.WriteDocument(fileName, input);
    const std::string content(input);

    FrameState frame;
    frame.m_strLogFolder = environment.LogFolder();
    frame.m_strDocPath = path;
    MemoryProfile profile;
    static const PageTemplates templates;
    CountingUserInterface ui;
    RenderContext context{frame, profile, templates, ui};

    RenderOutcome outcome;
    try {
        outcome.page = renderer(context, RenderInput{path, content});
        if (!outcome.page.empty()) {
            frame.m_bShowOtherCopy = 1;
            outcome.otherCopy = renderer(context, RenderInput{path, content});
        }
    } catch (const XmlAccessError&) {
        outcome.xmlError = true;
    }
    outcome.messages = ui.MessageCount();
    return outcome;
}

}  // namespace ledgra::fuzz

#include "render/ContentPage.h"

#include "render/PlaceholderFill.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

std::string_view BodyFragment(std::string_view text) {
    static constexpr std::string_view kClosing = "</body>";
    const std::size_t begin = text.find("<body");
    const std::size_t closing = text.find(kClosing);
    if (begin == std::string_view::npos || closing == std::string_view::npos || closing < begin) {
        return {};
    }
    return text.substr(begin, closing + kClosing.size() - begin);
}

}  // namespace

RenderedPage RenderContentPage(const RenderContext& context, const RenderInput& input) {
    std::optional<std::string> page = context.templates.LoadPageTemplate(kContentPageTemplate);
    if (!page) return {};
    FillPlaceholder(*page, ":내용:"_cp949, BodyFragment(input.content));
    return {std::move(*page)};
}

}  // namespace ledgra

#include "SkinEngine.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "Bitmap.h"
#include "HtmlText.h"
#include "Region.h"
#include "SkinDefinition.h"
#include "SkinValues.h"
#include "TextLimit.h"
#include "Transparency.h"

namespace {

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string ImageTag(const SkinImage& image) {
    std::string tag = "<IMG ID=\"" + HtmlAttribute(image.id) + "\" SRC=\"" +
                      HtmlAttribute(FileUrlPath(image.src)) + "\" STYLE=\"position:absolute;";
    char style[96];
    std::snprintf(style, sizeof style, "top:%dpx;left:%dpx;z-index:%d;\">", image.y, image.x, image.z);
    return tag + style;
}

ButtonBehaviour BehaviourOf(const SkinButton& description) {
    if (description.InGroup()) return ButtonBehaviour::Radio;
    return description.checkBox ? ButtonBehaviour::Check : ButtonBehaviour::Push;
}

}  // namespace

CSkinEngine::CSkinEngine(IMessageBox& messages)
    : ownMessages_(std::make_unique<CFailureMessages>(messages)), messages_(*ownMessages_) {}

CSkinEngine::CSkinEngine(CFailureMessages& messages) : messages_(messages) {}

SkinCheck CSkinEngine::CheckSkin(const std::string& skinFolder, const std::string& skinFile,
                                 const std::string& dataText) {
    const std::string folder = SkinFolderWithSeparator(skinFolder);
    if (!FileExists(folder + skinFile)) return SkinCheck::Missing;
    CXmlDocument definition;
    if (!definition.LoadFile(folder + skinFile) || definition.CountElements("VARNSKINDEFINE/SKIN") == 0)
        return SkinCheck::NotADefinition;
    if (!dataText.empty() && CSkinDefinition(definition, folder).ReadXslPath().empty()) return SkinCheck::NoStylesheet;
    return SkinCheck::Usable;
}

CSkinEngine::~CSkinEngine() { DestroyButtons(); }

void CSkinEngine::DestroyButtons() {
    while (!buttons_.empty()) buttons_.pop_back();
}

bool CSkinEngine::LoadSkin(const std::string& skinFolder, ISkinWindow* target, IScriptPage* page,
                           const std::string& dataText, bool applyOutline) {
    if (composing_) return false;
    composing_ = true;
    const bool composed = Compose(skinFolder, target, page, dataText, applyOutline);
    composing_ = false;
    return composed;
}

bool CSkinEngine::Compose(const std::string& skinFolder, ISkinWindow* target, IScriptPage* page,
                          const std::string& dataText, bool applyOutline) {
    baseControlId_ = kFirstButtonControlId;
    DestroyButtons();
    outputCut_ = false;
    partsLeftOut_ = false;

    target_ = target;
    if (target_ == nullptr) return false;
    target_->Hide();

    skinFolder_ = SkinFolderWithSeparator(skinFolder);
    if (!FileExists(DefinitionPath())) return false;
    // A definition that does not parse leaves an empty document: every read
    // gives its default and the window is composed with nothing on it.
    definition_.LoadFile(DefinitionPath());
    const CSkinDefinition skin(definition_, skinFolder_);

    const SkinFrame frame = skin.ReadSkin();
    const std::optional<CBitmapPixels> outline = LoadBmpFile(frame.rgnPath);

    const SkinApplication application = skin.ReadApplication();
    if (!application.name.empty()) {
        applicationName_ = application.name;
        target_->SetTitle(applicationName_);
        iconPath_ = application.iconPath;
        timerFlag_ = application.timer;
    }

    if (applyOutline && outline) {
        if (const auto region = RegionFromBitmap(&*outline, kSkinWhite)) target_->ApplyOutline(*region);
    }
    // Without an outline bitmap there is no size to take: the window keeps
    // the one it has.
    std::optional<std::pair<int, int>> size;
    if (outline) size = std::make_pair(outline->width, outline->height);
    target_->Move(x_, y_, size);

    if (page != nullptr) {
        page_ = page;
        page_->SetSkinFolder(skinFolder_);
        if (!bridge_.HasDocument()) bridge_.SetDocument(page);
        if (!ComposePage(skin, dataText)) return false;
    } else if (target_->PaintBackground(frame.backgroundPath)) {
        return true;
    }

    CreateButtons(skin);
    target_->Show();
    return true;
}

bool CSkinEngine::ComposePage(const CSkinDefinition& skin, const std::string& dataText) {
    std::string html;
    if (!dataText.empty()) {
        const std::string xslPath = skin.ReadXslPath();
        if (xslPath.empty()) return false;
        // The view composes again on every tick while it is hidden: a
        // failure that lasts is shown once, not once per tick.
        messages_.Reflect(!stylesheet_.LoadFile(xslPath), "Load XSL File Failed");
        messages_.Reflect(!data_.LoadText(dataText), "Load XML Data Failed");
        // The page buffer holds 51,199 characters of stylesheet output. Longer
        // output is cut there (never overrun) and the cut is reported through
        // StylesheetOutputCut(); the images below are still all written.
        CXmlDocument result;
        bool cut = false;
        if (data_.TransformToDocument(stylesheet_, result)) result.GetXml(html, kTransformMaxChars, &cut);
        if (html.empty()) data_.TransformToText(stylesheet_, html, kTransformMaxChars, &cut);
        outputCut_ = cut;
    }
    std::vector<SkinImage> images = skin.ReadImages(kMaxSkinImages + 1);
    if (images.size() > kMaxSkinImages) {
        images.pop_back();
        ReportPartsLeftOut("IMAGE elements", kMaxSkinImages);
    }
    for (const SkinImage& image : images) html += ImageTag(image);
    page_->SetBodyHtml(html);

    // The body is written first, so the skin's script finds the composed
    // elements when it runs. The script loads on its own time; composition
    // waits for it, so the calls the owner makes next ("OnInitial",
    // "BeginChangeMode") reach this skin's functions, not nothing or the
    // previous skin's.
    if (skin.HasJavaScript()) {
        bridge_.CallFunction("loadScript", FileUrlPath(skin.ReadJavaScriptPath()));
        page_->WaitUntil(kSkinScriptSettled, kSkinScriptWaitMs);
        bridge_.CallFunction("SetBackGround", FileUrlPath(skin.ReadSkin().backgroundPath));
    }
    return true;
}

void CSkinEngine::ReportPartsLeftOut(const char* what, std::size_t kept) {
    partsLeftOut_ = true;
    std::fprintf(stderr, "Velmar: %s has more than %zu %s; the rest are left out\n", DefinitionPath().c_str(), kept,
                 what);
}

void CSkinEngine::CreateButtons(const CSkinDefinition& skin) {
    // One exclusive group per GROUP element of each section.
    std::map<std::pair<SkinButtonSection, int>, std::shared_ptr<CButtonGroup>> groups;
    int index = 0;
    std::vector<SkinButton> descriptions = skin.ReadButtons(kMaxSkinButtons + 1);
    if (descriptions.size() > kMaxSkinButtons) {
        descriptions.pop_back();
        ReportPartsLeftOut("buttons", kMaxSkinButtons);
    }
    for (const SkinButton& d : descriptions) {
        const SkinButtonKind kind =
            d.section == SkinButtonSection::Script ? SkinButtonKind::Script : SkinButtonKind::Normal;
        auto button = std::make_shared<CSkinCommandButton>(
            d.id, kind, target_, kind == SkinButtonKind::Script ? d.call : std::string(), BehaviourOf(d));
        button->SetScriptBridge(&bridge_);
        button->AttachWidget(target_->CreateButtonWidget(*button, baseControlId_ + index));
        if (d.InGroup()) {
            auto& group = groups[{d.section, d.group}];
            if (!group) group = std::make_shared<CButtonGroup>();
            button->JoinGroup(group);
        }
        if (ISkinButtonWidget* widget = button->Widget()) widget->Place(d.x, d.y, d.width, d.height);
        // Draw mode 0 (plain copy), no border, no focus rectangle.
        button->SetSkin(d.image, d.downImage, d.overImage, d.disableImage, d.focusImage, d.maskImage, 0,
                        false, 0);
        button->SetToolTipText(d.tip);
        buttons_.push_back(std::move(button));
        ++index;
    }
}

bool CSkinEngine::SetButtonCheck(const std::string& id, bool checked) {
    for (const auto& button : buttons_) {
        if (button->Id() == id && button->Behaviour() != ButtonBehaviour::Push) {
            button->SetCheck(checked);
            return true;
        }
    }
    return false;
}

void CSkinEngine::RefreshFocus() {
    if (target_) target_->PostFocusRefresh();
}

bool CSkinEngine::SetTransparency(int alpha) {
    if (target_ == nullptr || !target_->SupportsOpacity()) return false;
    const TransparencyStep step = NextTransparency(layered_, alpha);
    layered_ = step.layered;
    target_->SetOpacity(step.alpha);
    return true;
}

bool CSkinEngine::CallScript(const std::string& name, const std::string& a, const std::string& b) {
    if (!bridge_.HasDocument()) return false;
    return bridge_.CallFunction(name, a, b);
}

bool CSkinEngine::QueueScript(const std::string& name, const std::string& a, const std::string& b) {
    if (!bridge_.HasDocument()) return false;
    return bridge_.QueueCall(name, {a, b});
}

void CSkinEngine::GetVariableText(const std::string& name, std::string& text) {
    bridge_.GetVariableText(name, text);
}

void CSkinEngine::GetVariableInt(const std::string& name, int& value) { bridge_.GetVariableInt(name, value); }

CSkinCommandButton* CSkinEngine::FindButton(const std::string& id) const {
    for (const auto& button : buttons_)
        if (button->Id() == id) return button.get();
    return nullptr;
}

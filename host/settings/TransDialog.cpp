#include "TransDialog.h"

#include "RegistryAccess.h"
#include "RegistryHives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

void CTransDialog::LoadStoredAlpha(IRegistryHives* hives) {
    CRegistryAccess registry = hives ? CRegistryAccess(*hives) : CRegistryAccess();
    registry.SetRootKey(HKEY_CURRENT_USER);
    std::uint32_t stored = 0;
    if (registry.QueryDword("SOFTWARE\\VARN\\TamloIII", "TRANS", &stored))
        m_alpha = std::clamp(static_cast<int>(std::min<std::uint32_t>(stored, kMaxAlpha)), kMinAlpha,
                             kMaxAlpha);
    applied_ = m_alpha;
}

void CTransDialog::OnInitDialog(ITransDialogView& view) {
    view_ = &view;
    view.SetRange(kMinAlpha, kMaxAlpha);
    view.SetPosition(m_alpha);
    view.SetPercentText(PercentText(m_alpha));
}

void CTransDialog::OnSliderPosition(int position) {
    m_alpha = std::clamp(position, kMinAlpha, kMaxAlpha);
    if (view_) view_->SetPercentText(PercentText(m_alpha));
}

std::string CTransDialog::PercentText(int alpha) {
    char text[16];
    std::snprintf(text, sizeof text, "%0.0f%%", std::round(alpha * 100.0 / 255.0));
    return text;
}

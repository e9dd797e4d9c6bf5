#pragma once
// The window of the pointer fuzz target: the benchmarks' quiet window
// (shows nothing, declines every question) that also keeps the texts and
// selected items the fuzzer types into Edit1, ComboBox1 and ComboBox2, so
// the handlers read back what was set.
#include "bench/quiet_ui_port.h"

#include <map>
#include <string>

namespace veltrano::fuzz {

class FuzzUiPort : public bench::QuietUiPort {
public:
    std::string text(Control control) const override
    {
        const auto it = m_texts.find(control);
        return it == m_texts.end() ? std::string() : it->second;
    }
    void setText(Control control, std::string_view text) override { m_texts[control] = text; }
    int itemIndex(Control control) const override
    {
        const auto it = m_items.find(control);
        return it == m_items.end() ? -1 : it->second;
    }
    void setItemIndex(Control control, int index) override { m_items[control] = index; }

private:
    std::map<Control, std::string> m_texts;
    std::map<Control, int> m_items;
};

}  // namespace veltrano::fuzz

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
    std::string text(std::string_view name) const override
    {
        const auto it = m_texts.find(name);
        return it == m_texts.end() ? std::string() : it->second;
    }
    void setText(std::string_view name, std::string_view text) override { m_texts[std::string(name)] = text; }
    int itemIndex(std::string_view name) const override
    {
        const auto it = m_items.find(name);
        return it == m_items.end() ? -1 : it->second;
    }
    void setItemIndex(std::string_view name, int index) override { m_items[std::string(name)] = index; }

private:
    std::map<std::string, std::string, std::less<>> m_texts;
    std::map<std::string, int, std::less<>> m_items;
};

}  // namespace veltrano::fuzz

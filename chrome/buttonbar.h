#pragma once

#include <array>
#include <functional>

class Label;
class Picture;

// The five picture buttons: a pill picture (`btn`) with a caption in front of it (`LabBTN`). At most one
// is lit, the one under the pointer.
class ButtonBar
{
public:
    static constexpr int kButtons = 5;

    // Button i: its picture and caption; the pointer over either lights it and a click on either runs it.
    void setButton(int i, Picture* picture, Label* caption);
    // The hidden holders of the idle and lit pictures.
    void setHolders(Picture* idle, Picture* lit);

    // Lights button `index` and puts the others in the idle look; an index that names no button (10)
    // lights nothing.
    void btn_MouseMove(int index);
    void LabBTN_MouseMove(int index) { btn_MouseMove(index); }
    // Runs the command of button `index`; any other index does nothing.
    void btn_Click(int index);
    void LabBTN_Click(int index) { btn_Click(index); }

    bool isLit(int index) const;
    Picture* picture(int i) const { return m_pictures[i]; }
    Label* caption(int i) const { return m_captions[i]; }

    std::array<std::function<void()>, kButtons> commands;

private:
    std::array<Picture*, kButtons> m_pictures{};
    std::array<Label*, kButtons> m_captions{};
    Picture* m_idle = nullptr;
    Picture* m_lit = nullptr;
};

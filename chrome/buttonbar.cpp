#include "buttonbar.h"

#include "app/controls.h"
#include "app/look.h"

void ButtonBar::setButton(int i, Picture* picture, Label* caption)
{
    m_pictures[i] = picture;
    m_captions[i] = caption;
    picture->mouse.move = [this, i](QMouseEvent*) { btn_MouseMove(i); };
    caption->mouse.move = [this, i](QMouseEvent*) { LabBTN_MouseMove(i); };
    picture->mouse.click = [this, i] { btn_Click(i); };
    caption->mouse.click = [this, i] { LabBTN_Click(i); };
}

void ButtonBar::setHolders(Picture* idle, Picture* lit)
{
    m_idle = idle;
    m_lit = lit;
}

void ButtonBar::btn_MouseMove(int index)
{
    for (int i = 0; i < kButtons; ++i) {
        if (i == index || !m_pictures[i])
            continue;
        m_pictures[i]->setPicture(m_idle->picture());
        m_captions[i]->setTextColor(look::kBlack);
        m_captions[i]->setBold(false);
    }
    if (index < 0 || index >= kButtons || !m_pictures[index])
        return;
    m_pictures[index]->setPicture(m_lit->picture());
    m_captions[index]->setTextColor(look::kRed);
    m_captions[index]->setBold(true);
}

void ButtonBar::btn_Click(int index)
{
    if (index < 0 || index >= kButtons || !commands[index])
        return;
    commands[index]();
}

bool ButtonBar::isLit(int index) const
{
    return index >= 0 && index < kButtons && m_pictures[index] &&
           m_pictures[index]->picture().cacheKey() == m_lit->picture().cacheKey();
}

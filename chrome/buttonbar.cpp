#include "buttonbar.h"

#include "ui/controls.h"
#include "ui/look.h"

ButtonBar::ButtonBar(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ButtonBar"));
    // The lit button's pill and caption follow the look.
    look::followContrast(this, [this] { light(m_lit); });
}

void ButtonBar::setButton(int i, const PictureButton& button)
{
    m_buttons[i] = button;
    auto [picture, caption] = button;
    // Screen readers see one button, named by its caption.
    picture->setAccessibleRole(QAccessible::Button);
    picture->setAccessibleName(caption->caption());
    caption->setSpoken(false);
    connect(picture, &Picture::mouseMoved, this, [this, i] { light(i); });
    connect(caption, &Label::mouseMoved, this, [this, i] { light(i); });
    if (i != Ok) {
        connect(picture, &Picture::clicked, this, [this, i] { press(i); });
        connect(caption, &Label::clicked, this, [this, i] { press(i); });
    }
    // The keys' button is lit as the pointer's is.
    connect(picture, &Picture::focusChanged, this, [this, i](bool focused) {
        if (focused)
            light(i);
        else
            lightNone();
    });
}

void ButtonBar::light(int index)
{
    m_lit = index;
    for (int i = 0; i < kButtons; ++i) {
        const bool lit = i == index;
        if (!m_buttons[i].picture)
            continue; // the panel's, before the panel was first opened
        m_buttons[i].picture->setPicture(look::buttonPicture(lit));
        m_buttons[i].caption->setTextColor(lit ? look::litCaption() : look::kBlack);
        m_buttons[i].caption->setBold(lit);
    }
}

void ButtonBar::press(int index)
{
    switch (index) {
    case Quit:
        emit quitClicked();
        break;
    case Configuration:
        emit configurationClicked();
        break;
    case Help:
        emit helpClicked();
        break;
    case About:
        emit aboutClicked();
        break;
    default:
        break; // names no button
    }
}

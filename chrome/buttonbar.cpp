#include "buttonbar.h"

#include "ui/controls.h"
#include "ui/look.h"

ButtonBar::ButtonBar(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ButtonBar"));
}

void ButtonBar::setButton(int i, const PictureButton& button)
{
    m_buttons[i] = button;
    auto [picture, caption] = button;
    // Screen readers see one button, named by its caption.
    picture->setAccessibleRole(QAccessible::Button);
    picture->setAccessibleName(caption->caption());
    caption->setSpoken(false);
    connect(picture, &Picture::mouseMoved, this, [this, i] { btn_MouseMove(i); });
    connect(caption, &Label::mouseMoved, this, [this, i] { LabBTN_MouseMove(i); });
    connect(picture, &Picture::clicked, this, [this, i] { btn_Click(i); });
    connect(caption, &Label::clicked, this, [this, i] { LabBTN_Click(i); });
    // The keys' button is lit as the pointer's is.
    connect(picture, &Picture::focusChanged, this, [this, i](bool focused) {
        if (focused)
            btn_MouseMove(i);
        else
            clearHover();
    });
}

void ButtonBar::btn_MouseMove(int index)
{
    for (int i = 0; i < kButtons; ++i) {
        const bool lit = i == index;
        m_buttons[i].picture->setPicture(
            look::picture(lit ? QStringLiteral("btnon.gif") : QStringLiteral("btnoff.gif")));
        m_buttons[i].caption->setTextColor(lit ? look::kRed : look::kBlack);
        m_buttons[i].caption->setBold(lit);
    }
}

void ButtonBar::btn_Click(int index)
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
    case Ok:
        emit okClicked();
        break;
    default:
        break; // names no button
    }
}

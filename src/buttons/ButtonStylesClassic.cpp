#include "buttons/ButtonStyles.h"

#include <algorithm>

namespace buttons {

using gdi::kBlack;
using gdi::kGrey;
using gdi::kNoColour;
using gdi::kWhite;

namespace {

void classicEdges(EdgeColours& e, int state, bool isDefault)
{
    switch (state) {
    case 0:
        e.setRing(kRingB, kLight, kGrey);
        e.setRing(kRingC, kWhite, kBlack);
        break;
    case 1:
        e.setRing(kRingA, kLight, kGrey);
        e.setRing(kRingB, kWhite, kBlack);
        e.setRing(kRingC, kBlack, kBlack);
        break;
    case 2:
        e.setRing(kRingB, kNoColour, kGrey);
        e.setRing(kRingC, isDefault ? kBlack : kWhite, kBlack);
        break;
    default:
        e.setRing(kRingB, kNoColour, kLight);
        e.setRing(kRingC, kBlack, kWhite);
        break;
    }
}

}  // namespace

int drawStyle0(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    FaceResult face;
    if (!skeleton::faceAndCaption(canvas, skeleton::faceColour(canvas), canvas.resolve(look.gradientColor), face))
        return kPaintNothing;
    if (look.buttonShape <= 3) {
        classicEdges(edges, look.latched() ? 3 : face.state, look.isDefault());
        canvas.drawEdges(edges);
    }
    return skeleton::outlineAndFocus(canvas, edges, face.clip, kBlack);
}

int drawStyle1(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    FaceResult face;
    if (!skeleton::faceAndCaption(canvas, skeleton::faceColour(canvas), canvas.resolve(look.gradientColor), face))
        return kPaintNothing;
    if (look.buttonShape <= 3) {
        const int state = look.latched() ? 2 : std::max(face.state, 1);
        const Colour raised = state == 2 ? kGrey : kWhite;
        const Colour sunk = state == 2 ? kWhite : kGrey;
        edges.setRing(kRingA, raised, sunk);
        edges.setRing(kRingB, raised, sunk);
        edges.setRing(kRingC, kBlack, kBlack);
        canvas.drawEdges(edges);
    }
    return skeleton::outlineAndFocus(canvas, edges, face.clip, kBlack);
}

}  // namespace buttons

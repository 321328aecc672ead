#include "buttons/ButtonStyles.h"

#include <algorithm>

namespace buttons {

using gdi::kBlack;
using gdi::kGrey;
using gdi::kNoColour;
using gdi::kWhite;

int drawStyle0(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    return paintWithRings(canvas, edges, [&](int faceState) {
        switch (look.latched() ? kEdgeFourth : faceState) {
        case kEdgeNormal:
            edges.setRing(kRingB, kLight, kGrey);
            edges.setRing(kRingC, kWhite, kBlack);
            break;
        case kEdgeDefault:
            edges.setRing(kRingA, kLight, kGrey);
            edges.setRing(kRingB, kWhite, kBlack);
            edges.setRing(kRingC, kBlack, kBlack);
            break;
        case kEdgePushed:
            edges.setRing(kRingB, kNoColour, kGrey);
            edges.setRing(kRingC, look.isDefault() ? kBlack : kWhite, kBlack);
            break;
        default:
            edges.setRing(kRingB, kNoColour, kLight);
            edges.setRing(kRingC, kBlack, kWhite);
            break;
        }
    });
}

int drawStyle1(ButtonCanvas& canvas, EdgeColours& edges)
{
    const ButtonLook& look = canvas.look();
    return paintWithRings(canvas, edges, [&](int faceState) {
        const bool down = look.latched() || faceState == kEdgePushed;
        edges.setRing(kRingA, down ? kGrey : kWhite, down ? kWhite : kGrey);
        edges.setRing(kRingB, down ? kGrey : kWhite, down ? kWhite : kGrey);
        edges.setRing(kRingC, kBlack, kBlack);
    });
}

}  // namespace buttons

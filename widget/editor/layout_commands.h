// The arithmetic of the editor's layout commands on the selection of a model: alignment,
// sizing, spacing, centring and stacking order. Plain model code: the view repaints and takes
// the undo checkpoint. Each returns false, changing nothing, when its minimum selection is not
// met. The first selected button is the reference of alignment and sizing.
#pragma once

#include <vector>

#include "widget/model/applet_parameters.h"

namespace snippo {

enum class AlignEdge { Left, Right, Top, Bottom };
enum class SizeMatch { Width, Height, Both };
enum class StackMove { Backward, Forward, ToBack, ToFront };

// At least 2 selected.
bool AlignSelection(CAppletParameters& params, AlignEdge edge);
bool MatchSelectionSize(CAppletParameters& params, SizeMatch match);

// Sorts the selection in place by left edge (`across`) or top edge with a selection sort that
// keeps equal edges in order, then spaces the buttons between the outer two evenly. At least 3
// selected; the sorted order stays in the selection.
bool SpaceSelection(CAppletParameters& params, bool across);
void SortByEdge(std::vector<CDrawObj*>& objects, bool byLeft);

// Centres the selection's bounding box in the applet area: horizontally (`horizontal`) by the
// applet width, else vertically by its height. At least 1 selected.
bool CenterSelection(CAppletParameters& params, bool horizontal);

// Moves the single selected button within the stacking order. Exactly 1 selected; returns
// true also when the button was already at that end.
bool MoveInStack(CAppletParameters& params, StackMove move);

}  // namespace snippo

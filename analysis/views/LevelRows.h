#pragma once

class CRowHeader;
class LPaneContext;

// Places the three level texts of a row header: the first at the top, the last at the bottom,
// the middle one centred or, with `thirds`, the second and third a third and two thirds down.
void PlaceLevelRows(CRowHeader& header, LPaneContext& context, bool thirds);

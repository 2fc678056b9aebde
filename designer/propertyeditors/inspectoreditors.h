#pragma once

class PropertyEditors;
class TfrmObiekty;

// Puts the property editors behind the inspector's rows: every commit of a
// row, the font strip, the tick and the RV3 and BMP buttons goes to its
// handler, and the row then shows what the handler chose.
void installPropertyEditors(TfrmObiekty &inspector, PropertyEditors &editors);

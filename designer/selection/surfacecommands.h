#pragma once

class DesignerContext;

// Commands that bring the design surface in line with the project's
// pictures: the window shape and size from the mask, the window size from
// the background bitmap, key sizes from their glyphs, and the pictures of
// the background and the toolbar strip drawn again from the settings.
namespace SurfaceCommands {

// Shapes the surface by the 1-bit bitmap of the setting "Maska" and gives
// it the mask's size. Anything else (no project, no file, another kind of
// bitmap) changes nothing: false.
bool reapplyMask(DesignerContext &context);
// Switches the shape off; the window keeps its size.
void dropMask(DesignerContext &context);

// The surface's client area takes the size of the bitmap of the setting
// "Tlo" (within the size a window can have); false when nothing changed.
bool sizeToBackground(DesignerContext &context);

// Each selected key with a glyph file takes the size of one glyph cell
// plus 2 pixels each way; false when no key changed.
bool sizeKeysToGlyphs(DesignerContext &context);

// The background picture from the settings "Tlo" and "TILE"; an empty or
// unreadable file leaves the background without a picture.
void paintBackground(DesignerContext &context);
// The toolbar strip's colour and its picture from "ToolsBack" and
// "TOOLS_TILE".
void paintTools(DesignerContext &context);

} // namespace SurfaceCommands

#pragma once

namespace Platform {

// What every program does once its application object stands: Qt's Polish
// texts and the faces that draw the Windows font names of projects.
void setUpProgram();

} // namespace Platform

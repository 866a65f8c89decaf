// A picture of the workflow for the README: the frame at 1280x800, the
// debugger views where Window > Arrange Debugger puts them and the editor and
// the memory window in the room to their right.
#pragma once

#include <QString>

namespace quorvel::test {

class WorkflowFrame;

// Arranges the open windows and saves the frame as a PNG file; false when it could not be written.
bool SaveWorkflowScreenshot(WorkflowFrame& w, const QString& path);

} // namespace quorvel::test

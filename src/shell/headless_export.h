#pragma once

// kiremo --export PLAN.dkf OUT.png|OUT.pdf: the week of a schedule file
// drawn into a picture on the offscreen platform, without a window.
namespace kiremo::shell {

bool IsHeadlessExport(int argc, char** argv);

// Exit status 0 when the picture is written; 1 after a message on stderr
// when the plan cannot be read, holds no committed course or the picture
// cannot be written; 2 after the usage line.
int RunHeadlessExport(int argc, char** argv);

}  // namespace kiremo::shell

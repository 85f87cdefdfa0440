#pragma once
// The writers a folder's Session key admits besides the folder's own: the desktop front ends,
// whose pictures stage values of their own and put the user's back, and the tests, which
// seed values as their writers would have written them.

namespace bp::gui {
class Program;
}  // namespace bp::gui

namespace bp::win {
class PictureSession;
}  // namespace bp::win

namespace bp::test {
struct SessionSeed;
}  // namespace bp::test

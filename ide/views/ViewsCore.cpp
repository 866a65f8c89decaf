// The views' model code lives in the files listed beside this one in the build;
// this unit keeps the library non-empty while they are being added.
namespace quorvel {}

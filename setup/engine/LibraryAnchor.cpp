// Keeps the library non-empty until its units arrive.
namespace SetupEngine { int LibraryAnchor = 0; }

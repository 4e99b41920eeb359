// Removed once the library has its first real source.

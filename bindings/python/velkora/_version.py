"""The version of this package, which is that of the library it wraps."""

__version__ = "0.1.0"

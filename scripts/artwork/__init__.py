"""Varnokle's artwork, one module per subsystem. Each module has pictures() -> {file name: bytes}."""

# The program's version, shown in the about box's picture; make-artwork.py sets the build's.
VERSION = "0.0.0"

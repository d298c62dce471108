"""Varnokle's artwork, one module per subsystem. Each module has pictures() -> {file name: bytes}."""

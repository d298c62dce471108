@echo signing

# The configuration dialog and the Explorer context-menu registration.

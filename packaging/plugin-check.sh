# Sourced by the install test and the guide script: the plugin-host command that proves an installed
# plug-in loads and answers. `info` loads it and lists its names and flags; switch this one line to
# plugin_check=(validate) once plugin-host has the validator.
plugin_check=(info)

# What each shipped DLL exports and which host libraries it may import (besides system DLLs), and whether
# it switches its thread notifications off. Read by the build's table checks and by the release check.
set(vorlane_common_exports _Execute@4 _GetFlags@0 _GetMenuName@12 _Shutdown@0 _Startup@0)
set(vorlane_shipped_plugins Brovix Lundrel Carvesh Moltrin Fennick Sorrend)

set(Brovix_exports ${vorlane_common_exports} _GetDestPath@12)
set(Lundrel_exports ${vorlane_common_exports} _GetDestPath@12)
set(Carvesh_exports ${vorlane_common_exports} _GetDestPath@8)
set(Moltrin_exports ${vorlane_common_exports} _GetComment@8)
set(Fennick_exports ${vorlane_common_exports} _GetComment@8)
set(Sorrend_exports ${vorlane_common_exports} _GetComment@8)

set(Moltrin_host_libraries corvana.dll)
set(Fennick_host_libraries corvana.dll pindle.dll)
set(Sorrend_host_libraries corvana.dll ruskane.dll)

# Carvesh keeps its thread attach and detach notifications; the other plug-ins switch them off.
foreach(plugin ${vorlane_shipped_plugins})
  set(${plugin}_switches_off ON)
endforeach()
set(Carvesh_switches_off OFF)

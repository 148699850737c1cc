# Copies each file of FROM into TO unless TO already has a file of that name:
# these are the shop's own files from the first start on, edited in place.
file(GLOB defaults RELATIVE ${FROM} ${FROM}/*)
foreach(name IN LISTS defaults)
  if(NOT EXISTS ${TO}/${name})
    file(COPY ${FROM}/${name} DESTINATION ${TO})
  endif()
endforeach()

# Run by cpack between staging the files and packing them: the folders that the install made
# carry the packer's umask, so a strict one (077) would ship folders only root can enter. Give
# them the modes a Debian package has.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}"
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)

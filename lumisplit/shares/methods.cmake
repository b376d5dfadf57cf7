# the share-construction methods join here

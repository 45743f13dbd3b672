// A source file in a folder that the layer order does not know.

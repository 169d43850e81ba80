// the golden ratio, 1.61803..., the double nearest to (1 + sqrt(5))/2
function phi(){return 1.618033988749895;}

// inverse cosine, in radians from 0 to pi
function arccos(x){return Math.acos(x);}

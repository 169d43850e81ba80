#use tg
// cotangent of an angle in radians, the reciprocal of the tangent (one
// rounding more than the tangent's own); at 0 the pole gives inf, as 1/0
// does
function ctg(x){return ctg_as("ctg",x);}
function ctg_as(name,x){return 1/tg_as(name,x);}

// x to the power y; an odd root of a negative number stays real: pow(-8,1/3) is -2
function pow(x,y){
  if(x<0&&y!==0&&Math.abs(y)<1){
    var n=Math.round(1/y);
    if(n%2!==0&&Math.abs(1/y-n)<1e-9)return -Math.pow(-x,y);
  }
  return Math.pow(x,y);
}
